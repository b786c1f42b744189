# Helpers that keep every core library free of Qt and register tests with label, time-out and a private
# settings and temporary folder.

# avz_core_library(NAME SOURCES... [DEPS lib...]) : a static library that links no Qt module.
function(avz_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Threads::Threads)
  set_property(TARGET ${name} PROPERTY AVZ_CORE TRUE)
endfunction()

# avz_qt_library(NAME SOURCES... [DEPS lib...]) : a static library of windows and Qt glue.
function(avz_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets Qt6::Gui Qt6::Core)
endfunction()

# avz_add_test(NAME LABEL unit|exchange|gui|e2e [QT] SOURCES... [DEPS lib...])
# gui tests, and tests marked QT, run inside a QApplication.
function(avz_add_test name)
  cmake_parse_arguments(ARG "QT" "LABEL" "SOURCES;DEPS" ${ARGN})
  if(ARG_LABEL STREQUAL "gui" OR ARG_QT)
    # Windows need a QApplication before any test runs.
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/gui_main.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock Qt6::Test Qt6::Widgets)
  else()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/work/${name})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${work})
  if(ARG_LABEL STREQUAL "e2e")
    set(timeout 300)
  elseif(ARG_LABEL STREQUAL "gui")
    set(timeout 180)
  else()
    set(timeout 60)
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS ${ARG_LABEL}
    TIMEOUT ${timeout}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${work}/home;XDG_CONFIG_HOME=${work}/config;TMPDIR=${work};AVZ_BIN_DIR=${PROJECT_BINARY_DIR};AVZ_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  file(MAKE_DIRECTORY ${work}/home ${work}/config)
endfunction()
