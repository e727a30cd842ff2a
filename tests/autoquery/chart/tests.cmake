# The schedule time-line chart: geometry, the picture at exact pixels, rectangles painted alone,
# and the chart widget with its hints.
tarvel_add_test_program(autoquery_chart
  SOURCES autoquery/chart/chart_geometry_test.cpp
          autoquery/chart/timeline_picture_test.cpp
          autoquery/chart/rectangle_painting_test.cpp
          autoquery/chart/chart_widget_test.cpp
  LIBRARIES tarvel_autoquery_chart tarvel_autoquery_chart_ui)
