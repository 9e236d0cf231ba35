# Installs Tessara into a fresh prefix, then configures, builds and runs an
# outside project that finds it with find_package(Tessara).
# -D: BUILD_DIR, WORK_DIR, SOURCE_DIR, GENERATOR, CXX_FLAGS, LAUNCHER
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component tessara)

file(GLOB_RECURSE plugin ${prefix}/*/qt6/plugins/designer/libtessaraplugin.so)
file(GLOB_RECURSE config ${prefix}/*/cmake/Tessara/TessaraConfig.cmake)
if(NOT plugin OR NOT config OR NOT EXISTS ${prefix}/include/tessara/Tessara.h)
  message(FATAL_ERROR "incomplete install: plugin '${plugin}', config '${config}'")
endif()

run("configure" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}")
run("build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run("run" ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${WORK_DIR}/build/host)
if(NOT output STREQUAL "1.01 host\n")
  message(FATAL_ERROR "unexpected output: '${output}'")
endif()
