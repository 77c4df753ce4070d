# The panel's variables, sizes and option lines: plain rules everywhere, and on Windows
# the real console window sized, docked and drawn.
acenora_test(scanning_core_logic_test SOURCES panel_size_test.cpp code_page_test.cpp LIBS scanning_core_logic)
if(WIN32)
  acenora_test(scanning_core_window_test SOURCES panel_window_test.cpp
               LIBS scanning_core console seam_win32)
  set_tests_properties(scanning_core_window_test PROPERTIES RESOURCE_LOCK desktop_input)
endif()
