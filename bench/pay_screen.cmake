# The payment screen through its real widgets, offscreen: from the pay button
# on a bill of 300 lines until the screen is shown and painted.
pos_add_bench(pay_screen SOURCES bench_pay_screen.cpp DEPENDS pos_payment_ui pos_sales_ui)
target_include_directories(bench_pay_screen PRIVATE ${PROJECT_SOURCE_DIR}/tests/sales)
