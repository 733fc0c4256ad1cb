# pos_lookups: guest and account look-ups on the server, the room-charge
# transfer and the discount work area of the POS.
pos_add_library(pos_lookups
  SOURCES
    DCModule.cpp
    LookupMembers.cpp
    LookupWork.cpp
    Lookups.cpp
  DEPENDS pos_core pos_data pos_server pos_cards)
