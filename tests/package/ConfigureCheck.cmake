cmake_minimum_required(VERSION 3.18)

# Configures the library as its own project with GoogleTest, CLI11 and
# Google Benchmark hidden from find_package. Run with cmake -P and
# SOURCE_DIR, GENERATOR, WORK_DIR.
#  - With tests, demo and benchmarks off, configuring succeeds.
#  - With tests on, it stops and names the Debian package to install.

file(REMOVE_RECURSE ${WORK_DIR})
set(hidden -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON
           -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)

execute_process(COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${SOURCE_DIR} -B ${WORK_DIR}/library-only
                        ${hidden} -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_DEMO=OFF -DVANTREL_BUILD_BENCH=OFF
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the library alone did not configure without the test tools:\n${out}")
endif()

foreach(part TESTS:libgtest-dev DEMO:libcli11-dev BENCH:libbenchmark-dev)
  string(REPLACE ":" ";" part ${part})
  list(GET part 0 option)
  list(GET part 1 package)
  set(switches -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_DEMO=OFF -DVANTREL_BUILD_BENCH=OFF
               -DVANTREL_BUILD_${option}=ON)
  execute_process(COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${SOURCE_DIR} -B ${WORK_DIR}/with-${option}
                          ${hidden} ${switches}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0 OR NOT out MATCHES "apt-get install ${package}")
    message(FATAL_ERROR "VANTREL_BUILD_${option} without its package did not name ${package}:\n${out}")
  endif()
endforeach()
