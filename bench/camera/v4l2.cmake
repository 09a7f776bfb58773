# Conversion speed of the V4L2 backend: our MJPEG path against bare TurboJPEG, and YUYV.
add_executable(bench_v4l2_convert ${CMAKE_CURRENT_SOURCE_DIR}/V4l2ConvertBench.cpp)
target_link_libraries(bench_v4l2_convert PRIVATE benchmark::benchmark lumadoc_camera_v4l2)
set_target_properties(bench_v4l2_convert PROPERTIES AUTOMOC OFF)
