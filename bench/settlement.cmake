# bench_settlement: one settlement of a 10-line bill with two tenders against
# the same statements as one batch, and 8 terminals settling at once, on the
# local server (needs the cluster of scripts/db and its POS_DB_* settings;
# each run makes a database of its own from the template).
pos_add_bench(settlement SOURCES bench_settlement.cpp DEPENDS pos_sale_recording)
target_include_directories(bench_settlement PRIVATE ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/tests/sales)
target_compile_definitions(bench_settlement PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
