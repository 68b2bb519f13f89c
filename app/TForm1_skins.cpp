// TForm1: the skin pictures loaded at start-up and the two theme families.

#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "ui/SkinImages.h"

namespace kestrovane {

// The start-up walk; it ends at the first missing picture.
void TForm1::LoadSkins() {
  const std::vector<SkinEntry> entries{
      {"basemap", {img_base}},
      {"title_base_1", {img_title1, img_title2, img_title3, img_title4, img_title5}},
      {"btn_base", {img_page1}},
      {"macro_base", {img_page3}},
      {"dpi_base", {img_page5}},
      {"led_base", {img_page4}},
      {"sys_base", {img_page2}},
      {"mode_base_1", {img_mode1, img_mode2, img_mode3, img_mode4, img_mode5}},
      {"macro_btn1_1", {img_load, img_new, img_save, img_delete, img_cancel}},
      {"macro_btn2_1", {img_REC}},
      {"macro_btn3_1", {img_MseLeft, img_MseRight, img_MseMid, img_delkey, img_Time}},
      {"macro_btn4_1", {img_delay_i}},
      {"macro_btn5_1", {img_delay_d}},
      {"report_1", {btn_125hz, btn_250hz, btn_500hz, btn_1000hz}},
      {"led_base_1", {btn_LEDOpen,   btn_LEDClose,  btn_LEDBre1,   btn_LEDBre2,   btn_LEDBre3,
                      btn_LEDBre4,   btn_LEDBre5,   btn_LEDBre6,   btn_LEDcolor1, btn_LEDcolor2,
                      btn_LEDcolor3, btn_LEDcolor4, btn_LEDcolor5, btn_LEDcolor6, btn_LEDcolor7,
                      btn_LEDcolor8, btn_Motor1,    btn_Motor2,    btn_Motor3,    btn_Motor4}},
      {"10Keys", {img_gbMenu}},
      {"9Keys", {img_gboffice}},
      {"8Keys", {img_gbmedia, img_gbwin8}},
      {"7Keys", {img_gbie, img_gbos, img_gbbasekeys}},
      {"5Keys", {img_gbgaming}},
      {"4Keys", {img_gbother}},
  };
  kestrovane::LoadSkins(m_paths, entries);
}

void TForm1::bindThemes() {
  suiFileTheme1.bind({spin_msedbspeed, spin_msespeed, spin_msewheel, spin_msewheel_X, tb_XY,
                      tb_step1, tb_step2, tb_step3, tb_step4});
  suiFileTheme2.bind(
      {TB_menu, TB_basekeys, TB_gaming, TB_office, TB_media, TB_ie, TB_win8, TB_os, TB_other});
}

}  // namespace kestrovane
