# The sale screen through its real widgets, offscreen: a menu tap on a long
# bill up to the repainted list and totals, and paging the menu buttons.
pos_add_bench(sale_screen SOURCES bench_sale_screen.cpp DEPENDS pos_sales_ui)
target_include_directories(bench_sale_screen PRIVATE ${PROJECT_SOURCE_DIR}/tests/sales)
