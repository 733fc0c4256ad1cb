# sync_tests: the off-line queue (files only), its upload and the master-data
# download against the real PostgreSQL server of scripts/db, and the kill
# test, which runs the harness below as a child process and kills it.
add_executable(offline_kill_harness OffLineKillHarness.cpp)
target_link_libraries(offline_kill_harness PRIVATE pos_settings pos_sync)

pos_add_test(sync_tests
  SOURCES
    DownloadServerTest.cpp
    OffLineKillTest.cpp
    OffLineQueueTest.cpp
    UploadServerTest.cpp
  DEPENDS pos_sync)
target_compile_definitions(sync_tests PRIVATE
  POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  POS_KILL_HARNESS="$<TARGET_FILE:offline_kill_harness>")
add_dependencies(sync_tests offline_kill_harness)
