# login_tests: password hashing and rules, the lock-out, and the login and
# manager-check models against the real PostgreSQL server of scripts/db.
pos_add_test(login_tests
  SOURCES
    PasswordTest.cpp
    LoginModelTest.cpp
  DEPENDS pos_login)
target_compile_definitions(login_tests PRIVATE POS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
