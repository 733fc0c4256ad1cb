# Local master-data store: mirror-file loading against a raw read, goods look-ups.
pos_add_bench(store SOURCES bench_store.cpp DEPENDS pos_store)
