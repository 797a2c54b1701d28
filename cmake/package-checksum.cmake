# Run by CPack once the zip is made: tumk.exe's checksum beside it, taken
# from the copy the zip holds.
file(SHA256 "${CPACK_TEMPORARY_DIRECTORY}/tumk.exe" sum)
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/tumk.exe.sha256" "${sum}  tumk.exe\n")
