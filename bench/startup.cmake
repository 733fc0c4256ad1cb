# The whole program's start-up, measured as a process from outside.
pos_add_bench(startup SOURCES bench_startup.cpp DEPENDS pos_sync)
target_compile_definitions(bench_startup PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                                 POS_RESORTPOS_PATH="$<TARGET_FILE:resortpos>")
add_dependencies(bench_startup resortpos)
