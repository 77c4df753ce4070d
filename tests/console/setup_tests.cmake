# Console set-up: settings, the text device behind the standard streams, and the end.
acenora_test(console_settings_logic_test SOURCES settings_logic_test.cpp LIBS console_logic)

# The window-side cases need the whole console, screen included.
if(WIN32 AND EXISTS ${PROJECT_SOURCE_DIR}/src/console/screen.cpp)
  acenora_test(console_setup_window_test SOURCES setup_window_test.cpp
    LIBS console seam_win32 TIMEOUT 180)
  add_executable(console_setup_probe setup_probe.cpp)
  target_link_libraries(console_setup_probe PRIVATE console seam_win32)
  acenora_test(console_setup_end_test SOURCES setup_end_test.cpp LIBS probe_process TIMEOUT 120)
  add_dependencies(console_setup_end_test console_setup_probe)
  acenora_test(console_settings_places_test SOURCES settings_places_test.cpp
    LIBS console seam_win32 probe_process TIMEOUT 120)
  # Windows that take the focus, and a settings file every console window reads when it opens.
  acenora_test_locks(console_setup_window_test console_setup_end_test
    console_settings_places_test LOCKS desktop_input)

  add_executable(console_demo WIN32 console_demo.cpp)
  target_link_libraries(console_demo PRIVATE console seam_win32)
endif()

# The console and the panel at 144 DPI: the prefix's scale is set around the run.
if(WIN32 AND ACENORA_WINE AND EXISTS ${PROJECT_SOURCE_DIR}/src/scanning/core/uwindow.cpp)
  add_executable(console_scale_window_test scale_window_test.cpp)
  target_link_libraries(console_scale_window_test PRIVATE scanning_core console seam_win32
                        gtest gtest_main)
  target_include_directories(console_scale_window_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
  add_test(NAME console_scale_window_test
           COMMAND ${ACENORA_ON_DESKTOP} bash ${CMAKE_CURRENT_SOURCE_DIR}/at_144_dpi.sh
                   ${ACENORA_WINE} $<TARGET_FILE:console_scale_window_test>)
  set_tests_properties(console_scale_window_test PROPERTIES TIMEOUT 120)
  acenora_on_desktop(console_scale_window_test)
endif()
