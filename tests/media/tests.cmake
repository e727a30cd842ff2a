# The removable-medium dialog. Paths are relative to tests/.
tarvel_add_test_program(media
  SOURCES media/flashka_form_test.cpp
  LIBRARIES tarvel_media_ui)
