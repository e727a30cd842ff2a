# Every window of the plug-in on a desktop's dark theme and with a larger desktop font. Paths are
# relative to tests/.
tarvel_add_test_program(window_looks
  SOURCES
    window_looks/dark_palette_test.cpp
    window_looks/desktop_font_test.cpp
  LIBRARIES tarvel_autoquery_ui tarvel_autosend_ui tarvel_media_ui tarvel_security_ui)
