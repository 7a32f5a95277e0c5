# wendrel_library(<name> [DEPS targets...] [PRIVATE_DEPS targets...] [EXCLUDE subfolders...]
#                 [TEST_DEPS targets...])
#
# Makes one library of every .cpp below the calling folder (subfolders that are libraries
# of their own are named in EXCLUDE), and one GoogleTest executable <name>_tests of every
# .cpp below the mirrored folder under tests/. A folder without sources yet becomes an
# interface library, so that the layers above can already name it. DEPS are passed on to
# the layers above; PRIVATE_DEPS (third-party libraries the folder wraps) are linked but
# their headers stay hidden from the layers above, which must name them if they need them.
function(wendrel_library name)
  cmake_parse_arguments(A "" "" "DEPS;PRIVATE_DEPS;EXCLUDE;TEST_DEPS" ${ARGN})
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})

  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${rel}/*.cpp)
  foreach(ex IN LISTS A_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${ex}/")
    list(FILTER tests EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/tests/${rel}/${ex}/")
  endforeach()

  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()

  if(WENDREL_TESTS AND tests)
    add_executable(${name}_tests ${tests} ${PROJECT_SOURCE_DIR}/tests/common/LeakSuppressions.cpp)
    target_link_libraries(${name}_tests PRIVATE ${name} ${A_TEST_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name}_tests PRIVATE
      WENDREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      WENDREL_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
      WENDREL_BUILD_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${name}_tests
      DISCOVERY_MODE PRE_TEST
      # Listing the tests of a sanitized executable can take longer than the default five
      # seconds on a loaded machine; a listing that times out fails the whole test run.
      DISCOVERY_TIMEOUT 120
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
      PROPERTIES ENVIRONMENT "${WENDREL_TEST_ENVIRONMENT}" TIMEOUT 300)
  endif()
endfunction()
