# cmake -DBUILD_DIR=... -DSTAGE=... -P Stage.cmake
# Installs the build with prefix /usr under DESTDIR=STAGE, as a package build
# does, and compiles the staged MIME package as the system's trigger would.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
find_program(UPDATE_MIME update-mime-database REQUIRED)
execute_process(COMMAND ${UPDATE_MIME} ${STAGE}/usr/share/mime RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "update-mime-database failed: ${status}")
endif()
