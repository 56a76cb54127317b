# Shared build settings of the KAV3 targets.

# Warnings every target of ours is built with.
function(kav3_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
endfunction()

# Japanese literals live in UTF-8 sources and are compiled to Shift-JIS (code page 932).
# Clang cannot do this; its builds (fuzzing only) keep UTF-8 literals.
function(kav3_japanese target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=CP932>)
  endif()
endfunction()

# Sanitizers for the native test flavour.
set(KAV3_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# A portable library: <name> for programs and benchmarks, and natively also
# <name>_san, the same sources under AddressSanitizer and UBSan for the tests.
function(kav3_portable_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(flavours ${name})
  if(NOT WIN32 AND NOT KAV3_FUZZ AND KAV3_TESTS)
    list(APPEND flavours ${name}_san)
  endif()
  foreach(lib IN LISTS flavours)
    add_library(${lib} STATIC ${ARG_SOURCES})
    target_include_directories(${lib} PUBLIC ${CMAKE_SOURCE_DIR})
    kav3_warnings(${lib})
    kav3_japanese(${lib})
    if(lib MATCHES "_san$")
      target_compile_options(${lib} PUBLIC ${KAV3_SANITIZE})
      target_link_options(${lib} PUBLIC ${KAV3_SANITIZE})
      foreach(dep IN LISTS ARG_LIBS)
        target_link_libraries(${lib} PUBLIC ${dep}_san)
      endforeach()
    else()
      target_link_libraries(${lib} PUBLIC ${ARG_LIBS})
    endif()
  endforeach()
endfunction()
