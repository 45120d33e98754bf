# The random timetable network generator, for the tests and the benchmarks;
# defined once, by whichever includes it first.
if(NOT TARGET kiv_test_support)
  add_library(kiv_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/NetworkGenerator.cpp)
  target_link_libraries(kiv_test_support PUBLIC kivengine)
  target_include_directories(kiv_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
endif()
