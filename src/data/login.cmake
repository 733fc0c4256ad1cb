# pos_login: the login and the manager check without their windows, the
# cashiers' password hashes (libcrypt) and the lock-out of wrong passwords.
pos_add_library(pos_login
  SOURCES
    LoginGuard.cpp
    LoginModel.cpp
    Password.cpp
  DEPENDS pos_core pos_data pos_server pos_cards crypt)
