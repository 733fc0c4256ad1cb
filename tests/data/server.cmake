# server_tests: the statement catalogue, the day log, the credentials and the
# data module. The data module's tests run against the real PostgreSQL
# server of scripts/db (scripts/test starts it and exports POS_DB_*).
pos_add_test(server_tests
  SOURCES
    CatalogueTest.cpp
    CatalogueKeysTest.cpp
    DayLogTest.cpp
    DbErrorTest.cpp
    DbPasswordTest.cpp
    DbSqlParamsTest.cpp
    DbTimeoutTest.cpp
    ServerTest.cpp
  DEPENDS pos_server)
target_compile_definitions(server_tests PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
