# Tests left out of the Windows runs, by name, each with the reason it cannot hold
# there. vantor_windows_skip(PROGRAM PATTERN REASON) leaves out the GoogleTest
# tests matching PATTERN; vantor_windows_skip_program(PROGRAM REASON) a whole
# program that is not built for Windows.
set_property(GLOBAL PROPERTY vantor_windows_skips "")

function(vantor_windows_skip program pattern reason)
  set_property(GLOBAL APPEND PROPERTY vantor_windows_skips "${program}|${pattern}|${reason}")
endfunction()

function(vantor_windows_skip_program program reason)
  vantor_windows_skip(${program} "*" "${reason}")
endfunction()

# The --gtest_filter of a program: everything but its skipped tests.
function(vantor_windows_filter program out)
  get_property(skips GLOBAL PROPERTY vantor_windows_skips)
  set(filter "*")
  set(separator "-")
  foreach(skip IN LISTS skips)
    string(REPLACE "|" ";" fields "${skip}")
    list(GET fields 0 name)
    list(GET fields 1 pattern)
    if(name STREQUAL program)
      string(APPEND filter "${separator}${pattern}")
      set(separator ":")
    endif()
  endforeach()
  set(${out} "${filter}" PARENT_SCOPE)
endfunction()

function(vantor_windows_write_skips)
  get_property(skips GLOBAL PROPERTY vantor_windows_skips)
  set(text "")
  foreach(skip IN LISTS skips)
    string(REPLACE "|" ";" fields "${skip}")
    list(GET fields 0 name)
    list(GET fields 1 pattern)
    list(GET fields 2 reason)
    string(APPEND text "skipped on Windows: ${name} ${pattern}: ${reason}\n")
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/windows-skips.txt "${text}")
endfunction()

# The writer killed at a random moment needs POSIX processes (fork, kill); the
# Windows back-end's leftovers and failures are checked by the other store tests.
vantor_windows_skip(test_archive "VivStoreProcess*" "forks and kills writer processes (POSIX only)")
vantor_windows_skip(test_archive "VivStore/StoreIntoRealArchive.*" "checks POSIX permission bits and symbolic links")
vantor_windows_skip(test_base "FileOps.NewFilesAreTheUsersOwn:FileOps.RewrittenFilesKeepTheirPermissions"
                    "checks POSIX permission bits (Windows files take their folder's access rules)")
vantor_windows_skip(test_model "TypedValue.AWriteDoesNotGoThroughASymbolicLink"
                    "making a symbolic link needs administrator rights on Windows")
# Finding the game through Wine prefixes is what the Linux build does; the Windows
# build reads the Windows registry (scripts/test-windows-registry, the whole story).
vantor_windows_skip(test_handlers "GameLocation.StartUpOffersTheArchiveOfTheGameInstalledInTheWinePrefix"
                    "finds the game through a Wine prefix, which only the Linux build reads")
vantor_windows_skip(test_registry "*WinePrefixes*:WineServer.*"
                    "Wine managers' prefixes and the wineserver are looked up by the Linux build only")
vantor_windows_skip(test_registry "*WineBackend*" "the registry over a Wine prefix's files is the Linux build's back-end")
