# bench_sync: the master-data download against COPY of the same selects, and
# the upload of 10,000 queued bills, on the local server (needs the cluster of
# scripts/db and its POS_DB_* settings; loads tools/large-data/large-data.sql
# into a database of its own).
pos_add_bench(sync SOURCES bench_sync.cpp DEPENDS pos_sync)
target_compile_definitions(bench_sync PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
