# The virtual camera's cost: per-frame work at each size and the CPU share of a live 30 fps stream.
if(TARGET lumadoc_camera_virtual)
  add_executable(bench_virtual_camera ${CMAKE_CURRENT_LIST_DIR}/VirtualCameraBench.cpp)
  target_link_libraries(bench_virtual_camera PRIVATE benchmark::benchmark lumadoc_camera_virtual)
endif()
