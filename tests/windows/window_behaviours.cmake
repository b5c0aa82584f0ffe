# The window's behaviours (system menu, translucency, always-on-top,
# snapping, placement) on the real dialog under Wine.
add_executable(window_behaviours_test ${CMAKE_CURRENT_LIST_DIR}/window_behaviours_test.cpp ${DEXOLIN_RESOURCES})
target_link_libraries(window_behaviours_test PRIVATE dexolin_shell GTest::gtest dexolin_warnings)
target_include_directories(window_behaviours_test PRIVATE ${PROJECT_SOURCE_DIR})
add_test(NAME window_behaviours_test COMMAND window_behaviours_test)
set_tests_properties(window_behaviours_test PROPERTIES TIMEOUT 600)
