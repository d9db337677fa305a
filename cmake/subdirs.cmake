# Adds every direct subfolder of `parent` that has a CMakeLists.txt, so that each
# area of the project owns its own build description.
function(wrenfold_add_subfolders parent)
  file(GLOB children LIST_DIRECTORIES true ${parent}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
