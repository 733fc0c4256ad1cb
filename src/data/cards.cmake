# pos_cards: card tracks and numbers, card companies, member cards, identity
# numbers and bar codes.
pos_add_library(pos_cards
  SOURCES
    CardRules.cpp
    IdentityRules.cpp
  DEPENDS pos_core pos_data)
