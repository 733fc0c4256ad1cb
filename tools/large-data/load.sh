#!/usr/bin/env bash
# Loads the large benchmark data set (large-data.sql) into the development
# database of scripts/db (or the database the POS_DB_DIR cluster holds).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
eval "$("$ROOT/scripts/db" env)"
# As the schema's owner (who may also ANALYZE the tables), over TLS.
PGSSLMODE=$POS_DB_SSLMODE PGSSLROOTCERT=$POS_DB_SSLROOTCERT PGPASSWORD=$POS_DB_OWNER_PASSWORD \
  psql -X -q -v ON_ERROR_STOP=1 --single-transaction -h "$POS_DB_HOST" -p "$POS_DB_PORT" \
  -U "$POS_DB_OWNER" -d "$POS_DB_NAME" -f "$ROOT/tools/large-data/large-data.sql"
echo "large-data: loaded into $POS_DB_NAME"
