# MPFR (Debian's libmpfr-dev), the reference for the engine's sine and
# arctangent: the rounding check and the table generator only, never the
# program. Defines the target "mpfr" when it is found.
find_path(MPFR_INCLUDE_DIR mpfr.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
if(MPFR_INCLUDE_DIR AND MPFR_LIBRARY AND GMP_LIBRARY)
    add_library(mpfr INTERFACE IMPORTED)
    target_include_directories(mpfr INTERFACE ${MPFR_INCLUDE_DIR})
    target_link_libraries(mpfr INTERFACE ${MPFR_LIBRARY} ${GMP_LIBRARY})
else()
    message(STATUS "MPFR not found: the rounding check and trig_tables are not built")
endif()
