# Build rules shared by every target of ours: warnings as errors, the optional
# sanitizer builds, and the guard that keeps the core layer free of Qt Widgets.

function(tessaly_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # Rounding is round-half-to-even through lrint/nearbyint; math errno would
  # stop those from compiling to single instructions.
  target_compile_options(${target} PRIVATE -fno-math-errno)
  # Every floating multiply and add is rounded as written: a fused multiply-add
  # would move exact halves and break the identity of the fast pixel paths with
  # their formulas.
  target_compile_options(${target} PRIVATE -ffp-contract=off)
endfunction()

if(TESSALY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer, for the code that runs on worker threads. It cannot be combined
# with AddressSanitizer; the resampler then keeps one version of its kernels (see
# resample.cpp).
if(TESSALY_TSAN)
  if(TESSALY_SANITIZE)
    message(FATAL_ERROR "TESSALY_TSAN and TESSALY_SANITIZE cannot be combined")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(TESSALY_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TESSALY_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The core layer must never reach Qt Widgets. Two locks make that impossible
# rather than merely unused:
#  1. configuration fails when a Widgets-based library is linked to the core;
#  2. every header of the QtWidgets and QtPrintSupport folders is shadowed by a
#     generated file that stops the compile, so even <QtWidgets/QWidget> through
#     the Qt root include folder cannot be reached from core code.
function(tessaly_forbid_widgets target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  foreach(lib IN LISTS libs)
    if(lib MATCHES "Widgets|PrintSupport|OpenGLWidgets")
      message(FATAL_ERROR "${target} is core code and must not link ${lib}")
    endif()
  endforeach()

  set(shadow "${CMAKE_BINARY_DIR}/core_no_widgets")
  if(NOT EXISTS "${shadow}/.done")
    get_target_property(core_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS core_includes)
      foreach(module QtWidgets QtPrintSupport)
        if(EXISTS "${dir}/${module}")
          file(GLOB headers RELATIVE "${dir}/${module}" "${dir}/${module}/*")
          foreach(h IN LISTS headers)
            if(NOT IS_DIRECTORY "${dir}/${module}/${h}")
              file(WRITE "${shadow}/${module}/${h}"
                   "#error \"core code must not include ${module} headers\"\n")
            endif()
          endforeach()
        endif()
      endforeach()
    endforeach()
    file(WRITE "${shadow}/.done" "")
  endif()
  target_include_directories(${target} BEFORE PRIVATE "${shadow}")
endfunction()
