# Console set-up: settings, the text device behind the standard streams, and the end.
acenora_test(console_settings_logic_test SOURCES settings_logic_test.cpp LIBS console_logic)
