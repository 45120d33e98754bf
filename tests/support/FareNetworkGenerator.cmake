# The generator of random distance and fare networks, shared by the tests
# and the benchmarks.
if(NOT TARGET kiv_fare_network_generator)
  add_library(kiv_fare_network_generator STATIC ${CMAKE_SOURCE_DIR}/tests/support/FareNetworkGenerator.cpp)
  target_link_libraries(kiv_fare_network_generator PUBLIC kivengine)
  target_include_directories(kiv_fare_network_generator PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
endif()
