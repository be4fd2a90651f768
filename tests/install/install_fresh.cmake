# cmake -DBUILD_DIR=<build> -DPREFIX=<prefix> -P install_fresh.cmake
# Installs the build into an emptied prefix, so that files left there by an
# earlier run cannot stand in for one the install no longer provides.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD_DIR} --prefix ${PREFIX} failed (${status})")
endif()
