# cnf.INI: the plug-in's reads and writes, and password scrambling. Paths are relative to tests/.
tarvel_add_test_program(settings
  SOURCES
    settings/scramble_test.cpp
    settings/settings_file_test.cpp
  LIBRARIES tarvel_settings)
