# One static library per platform folder. Sources are picked up from the folder itself, so a new
# file needs no edit here; a subfolder is a library of its own. A folder without sources yet is
# an interface library.
function(vyd_platform_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target platform_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE vyd_warnings)
    target_compile_definitions(${target} PRIVATE VYD_DEFAULT_BUNDLE_PATH="${VYD_DEFAULT_BUNDLE_PATH}")
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# A test executable for every folder under tests/ that holds test sources, linking LIBS (the
# test-support library of its side, which brings the code under test).
function(vyd_test_folder folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name "test_${folder}")
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main vyd_warnings)
  target_compile_definitions(${name} PRIVATE
    VYD_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VYD_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "VYD_BUNDLE_PATH=${VYD_DEFAULT_BUNDLE_PATH}" TIMEOUT 120)
endfunction()

# The tests' local servers (tests/support: TestServer and VY Bank's authorization server),
# compiled into a program that is not a test: the example app, a benchmark.
function(vyd_add_test_servers target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/VYBankServer.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/TestServer.cpp ${CMAKE_SOURCE_DIR}/tests/support/TestCertificates.cpp)
  target_include_directories(${target} PRIVATE ${HTTPLIB_INCLUDE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE PkgConfig::CPPHTTPLIB OpenSSL::SSL OpenSSL::Crypto)
endfunction()
