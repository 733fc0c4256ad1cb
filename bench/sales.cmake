pos_add_bench(sales SOURCES bench_sales.cpp DEPENDS pos_sales)
