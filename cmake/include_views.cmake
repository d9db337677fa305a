# The project's folders include one way only: platform/ includes common/; installer/
# and client/ include common/ and their own folder; only a program's Windows front
# end (its win32/ folder) includes platform/ too. Each product target compiles
# against a view of the source tree that holds just the folders it may include, so
# an include the wrong way does not compile. Tests, tools and benchmarks see it all.

# wrenfold_may_include(target folder...): `target` includes "folder/..." headers of
# the top-level folders named, and nothing else of the project.
function(wrenfold_may_include target)
  list(JOIN ARGN "+" view_name)
  set(view ${CMAKE_BINARY_DIR}/include_views/${view_name})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${view}/${folder})
      file(MAKE_DIRECTORY ${view})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} RESULT failed SYMBOLIC)
      if(failed)
        # A host that makes no symbolic links (Windows without the right to) builds
        # the same code without the check.
        message(STATUS "No include view for ${target} (${failed}); it sees the whole tree")
        set(view ${PROJECT_SOURCE_DIR})
        break()
      endif()
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
endfunction()
