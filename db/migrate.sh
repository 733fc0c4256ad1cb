#!/usr/bin/env bash
# Applies the migrations of db/migrations that a database does not have yet,
# each in its own transaction together with its row in schema_version.
# The database is named by the usual libpq variables (PGHOST, PGPORT,
# PGDATABASE, PGUSER, PGPASSWORD, PGSSLMODE, PGSSLROOTCERT); the objects
# belong to that user, which must be the schema's owner, never a terminal's
# role (README.md, Roles).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning"

run_psql() { psql -X -q -v ON_ERROR_STOP=1 "$@"; }

run_psql -c "CREATE TABLE IF NOT EXISTS schema_version (
  version    integer PRIMARY KEY,
  name       text NOT NULL,
  applied_at timestamptz NOT NULL DEFAULT now())"
applied=$(run_psql -At -c "SELECT version FROM schema_version")

for file in "$here"/migrations/[0-9][0-9][0-9][0-9]_*.sql; do
  [ -e "$file" ] || continue
  name=$(basename "$file" .sql)
  version=$((10#${name%%_*}))
  if grep -qx "$version" <<<"$applied"; then continue; fi
  run_psql --single-transaction -f "$file" \
    -c "INSERT INTO schema_version (version, name) VALUES ($version, '$name')"
  echo "migrate: ${PGDATABASE:-?}: applied $name"
done
