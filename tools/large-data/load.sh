#!/usr/bin/env bash
# Loads the large benchmark data set (large-data.sql) into the development
# database of scripts/db (or the database the POS_DB_DIR cluster holds).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
eval "$("$ROOT/scripts/db" env)"
PGPASSWORD=$POS_DB_PASSWORD psql -X -q -v ON_ERROR_STOP=1 --single-transaction -h "$POS_DB_HOST" -p "$POS_DB_PORT" \
  -U "$POS_DB_USER" -d "$POS_DB_NAME" -f "$ROOT/tools/large-data/large-data.sql"
echo "large-data: loaded into $POS_DB_NAME"
