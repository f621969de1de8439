# The pricing of the rows of an estimate: amount rules, rate values and texts, overheads, the amounts
# of each business kind and the special expense rows.
target_sources(VemoEstimate PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PricingSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecalcCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcPricing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcRates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcOverhead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcSokuryo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcSekkei.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcSpecial.cpp
)
