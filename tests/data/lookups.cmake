# lookups_tests: the guest and account look-ups, the room-charge transfer and
# the discount work area against the real PostgreSQL server of scripts/db,
# and the rules behind them.
pos_add_test(lookups_tests
  SOURCES
    LookupRulesTest.cpp
    LookupServerTest.cpp
  DEPENDS pos_lookups)
target_compile_definitions(lookups_tests PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
