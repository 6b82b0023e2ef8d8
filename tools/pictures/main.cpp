// make_pictures <outdir>: writes the program's pictures and icon.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "artwork.h"
#include "image_files.h"
#include "k636_artwork.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_pictures <outdir>\n";
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    WriteFile(dir / "main_picture.bmp", pictures::EncodeBmp24(pictures::MainPicture()));
    WriteFile(dir / "main_picture_large.bmp", pictures::EncodeBmp24(pictures::MainPictureShown(2)));
    WriteFile(dir / "about_logo.bmp", pictures::EncodeBmp24(pictures::AboutLogo()));
    WriteFile(dir / "about_logo_large.bmp", pictures::EncodeBmp24(pictures::AboutLogoLarge()));
    const pictures::Canvas large = pictures::AppIcon(32);
    const pictures::Canvas small = pictures::AppIcon(16);
    WriteFile(dir / "app.ico", pictures::EncodeIcon({&large, &small}));
    WriteFile(dir / "k636_single_sheet.bmp", pictures::EncodeBmp24(pictures::SingleSheetPicture()));
    WriteFile(dir / "k636_roll_paper.bmp", pictures::EncodeBmp24(pictures::RollPaperPicture()));
    WriteFile(dir / "k636_fanfold.bmp", pictures::EncodeBmp24(pictures::FanfoldPicture()));
    WriteFile(dir / "k636_measuring_note.bmp", pictures::EncodeBmp24(pictures::MeasuringNote()));
    WriteFile(dir / "k636_step_arrow.bmp", pictures::EncodeBmp24(pictures::StepArrow()));
  } catch (const std::exception& e) {
    std::cerr << "make_pictures: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
