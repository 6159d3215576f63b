# What the Windows test programs leave out under Wine, each with its reason.

# Source files not built for Windows.
set(PUFFEL_WINDOWS_SKIPPED_FILES
  # Limits the address space with setrlimit, which Windows does not have.
  app/out_of_memory_test.cpp
  # Fills the disk with setrlimit's file-size limit, which Windows does not have.
  export/full_disk_test.cpp
  # Read the GIF files back with giflib, which has no Windows build; the
  # encoder is the same code on both systems.
  export/gif_encode_test.cpp
  export/animation_gif_test.cpp
  # Reads the 3MF files back with lib3mf, which has no Windows build.
  export/print_files_test.cpp
  # Reads the sources, which are the same for both systems.
  structure/include_layers_test.cpp
)

# Test cases left out of the run, by program.
set(PUFFEL_WINDOWS_SKIPPED_export_tests
  # The glTF validator runs on the build machine: make windows-test runs it
  # over the .glb files that puffel-export.exe writes under Wine.
  GltfValidator.*
  PosedCat.GlbPassesTheValidatorWithItsSkeleton
)

# ImageMagick, the picture reader's oracle and the maker of the pictures in
# other formats, is a program of the build machine.
set(PUFFEL_WINDOWS_SKIPPED_platform_tests
  PictureFile.EveryKindOfPngReadsAsImageMagickReadsIt
  PictureFile.ProgressiveAndBaselineJpegsReadAsImageMagickReadsThem
  PictureFile.SeedFilesReadAndTheirJpegsAsImageMagickReadsThem
)
set(PUFFEL_WINDOWS_SKIPPED_builder_tests
  PictureFormats.JpegAndGifPartsAndABackgroundKeepBitmapCopies
  PictureFormats.DamagedPicturesOfEveryFormatAreReportedAndLeaveTheScene
)

# The command-line option that leaves out target's skipped cases, in out.
function(puffel_windows_filter target out)
  set(filter "")
  if(PUFFEL_WINDOWS_SKIPPED_${target})
    string(REPLACE ";" ":" cases "${PUFFEL_WINDOWS_SKIPPED_${target}}")
    set(filter "--gtest_filter=-${cases}")
  endif()
  set(${out} ${filter} PARENT_SCOPE)
endfunction()
