pos_add_bench(sales SOURCES bench_sales.cpp DEPENDS pos_sales)
target_include_directories(bench_sales PRIVATE ${PROJECT_SOURCE_DIR}/tests/sales)
