pos_add_test(cards_tests
  SOURCES
    CardRulesTest.cpp
    IdentityRulesTest.cpp
  DEPENDS pos_cards)
