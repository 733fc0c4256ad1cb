# bench_server: the data module's overhead over raw libpq on the local
# server (needs the cluster of scripts/db and its POS_DB_* settings).
pos_add_bench(server SOURCES bench_server.cpp DEPENDS pos_db)
