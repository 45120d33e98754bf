# The fast required-time table and station timetable against the plain ones,
# in kiv_speed_tests. The long set is disabled in the normal run; build the
# target timetable_differential_long to run it.
target_sources(kiv_speed_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TimetableDifferentialTest.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/TimetableDifferentialTextTest.cpp)
target_link_libraries(kiv_speed_tests PRIVATE kiv_test_support kivreference)

add_custom_target(timetable_differential_long
  COMMAND kiv_speed_tests --gtest_also_run_disabled_tests --gtest_filter=*TimetableDifferential*.DISABLED_*
  DEPENDS kiv_speed_tests
  COMMENT "Fast against plain required-time tables and station timetables on hundreds of generated networks"
  USES_TERMINAL)
