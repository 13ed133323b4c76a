# Installs the build into a fresh prefix and checks that the program and its
# logos land where the program looks: bin/ and share/kzp-viewer/.
# -DBUILD_DIR=... -DPREFIX=... -DBINDIR=... -DDATADIR=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file "${BINDIR}/kzp-viewer" "${DATADIR}/kzp-viewer/KZPlogo160.jpg" "${DATADIR}/kzp-viewer/brevomark-100px.jpg")
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
