# Run by CPack on its staging tree before it builds the package: Debian
# installs manual pages and the changelog compressed with gzip -9n (no name,
# no time stamp, so that the package is reproducible).
file(GLOB_RECURSE ZEB_STAGED_DOCS
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/zeb/changelog")
foreach(doc ${ZEB_STAGED_DOCS})
  if(NOT doc MATCHES "\\.gz$")
    execute_process(COMMAND gzip -9nf "${doc}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
