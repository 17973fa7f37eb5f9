# The Windows-side tests run the simulated phone tools from bin/: build them first.
if(TARGET win_tests AND TARGET PTQApk AND TARGET PTQList)
  add_dependencies(win_tests PTQApk PTQList)
endif()
# Start-up tests run the shipped program itself.
if(TARGET win_tests AND TARGET ApkInstaller)
  add_dependencies(win_tests ApkInstaller)
endif()
