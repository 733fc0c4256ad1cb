# pos_server: the central database over libpq (statement catalogue, day log,
# the data module and the on-line/off-line switch). No Qt: the sale screen
# turns the data module's on-line observers into its own signal.
find_package(PostgreSQL REQUIRED)

pos_add_library(pos_server
  SOURCES
    Catalogue.cpp
    DataModule.cpp
    DayLog.cpp
    DbConnection.cpp
    DbError.cpp
    DbPassword.cpp
    DbQuery.cpp
    SqlParams.cpp
  DEPENDS pos_core PostgreSQL::PostgreSQL)
