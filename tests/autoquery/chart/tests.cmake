# The schedule time-line chart: geometry, the picture at exact pixels, rectangles painted alone,
# hints and the chart widget.
tarvel_add_test_program(autoquery_chart
  SOURCES autoquery/chart/chart_geometry_test.cpp
          autoquery/chart/timeline_picture_test.cpp
          autoquery/chart/rectangle_painting_test.cpp
  LIBRARIES tarvel_autoquery_chart)
