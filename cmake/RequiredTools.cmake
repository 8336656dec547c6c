# The tests and benchmarks are on by default; without their libraries, say which switch leaves
# them out rather than failing somewhere inside tests/ or bench/.
if(TARN_BUILD_TESTS)
  find_package(GTest QUIET)
  find_package(Qt6 QUIET COMPONENTS Test)
  if(NOT GTest_FOUND OR NOT Qt6Test_FOUND)
    message(FATAL_ERROR
      "The tests need GoogleTest and Qt 6 Test, which were not found "
      "(Debian: libgtest-dev libgmock-dev qt6-base-dev, as scripts/install-deps.sh installs). "
      "To build without the tests, configure with -DTARN_BUILD_TESTS=OFF.")
  endif()
endif()

if(TARN_BUILD_BENCHMARKS)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    message(FATAL_ERROR
      "The benchmarks need Google Benchmark, which was not found "
      "(Debian: libbenchmark-dev, as scripts/install-deps.sh installs). "
      "To build without the benchmarks, configure with -DTARN_BUILD_BENCHMARKS=OFF.")
  endif()
endif()
