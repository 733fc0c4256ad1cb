# The discount engine on a long bill: what CalcSaleList asks of it after one
# more line.
pos_add_bench(discounts SOURCES bench_discounts.cpp DEPENDS pos_discounts)
