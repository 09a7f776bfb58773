add_executable(bench_frame_path ${CMAKE_CURRENT_SOURCE_DIR}/FramePathBench.cpp
  ${CMAKE_SOURCE_DIR}/tests/camera/FakeMediaCapture.h)
target_include_directories(bench_frame_path PRIVATE ${CMAKE_SOURCE_DIR}/tests/camera)
target_link_libraries(bench_frame_path PRIVATE Lumadoc::camera benchmark::benchmark)
