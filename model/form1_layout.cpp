// The main window's controls. The order of the fields, buttons and frames on the
// screen is not their focus order: the tab indexes give that.
#include "model/form1_layout.h"

#include <array>

namespace model {
namespace {

using K = ControlKind;
using R = Role;

constexpr std::array kControls = {
    // A result caption no operation writes and no one sees: the window and the
    // page leave it out, so a screen reader meets no empty label.
    ControlSpec{"Label_HeJi", 2, K::Label, nullptr, "", 0, 0, 1815, 435, 44, nullptr,
                R::UnseenResult},
    // The banner strip starts 240 twips left of the window so it spans the width.
    ControlSpec{"Picture1", -1, K::PictureBox, nullptr, nullptr, -240, 0, 10635, 555, 17,
                "标题横幅：Quillmere 正式版1.01"},
    ControlSpec{"Label11", -1, K::Label, "Picture1", " Quillmere", 480, 180, 4155, 435, 32, nullptr,
                R::Heading},
    ControlSpec{"Label25", -1, K::Label, "Picture1", "（正式版1.01）", 2880, 240, 1695, 255, 57},
    ControlSpec{"Label2", -1, K::Label, "Picture1", "单位：公分（厘米）", 4740, 240, 1755, 375, 18,
                nullptr, R::Emphasis},
    ControlSpec{"Label24", -1, K::Label, "Picture1", nullptr, 7440, 180, 3075, 375, 56, nullptr,
                R::Link},
    ControlSpec{"Label19", -1, K::Label, nullptr,
                "注：本软件采用四面包底的做法设计鱼缸五面的尺寸。打印结果只供参考。其它拉筋和过滤用"
                "玻璃在'辅助板材'栏里输入。",
                480, 720, 9555, 315, 47},
    ControlSpec{"Label23", -1, K::Label, nullptr, "具体尺寸可参考鱼缸主体计算结果...........", 840,
                960, 9375, 255, 55},
    ControlSpec{"Frame4", -1, K::Frame, nullptr, nullptr, 480, 1200, 9555, 1155, 21,
                "单价与玻璃厚度"},
    ControlSpec{"Label6", -1, K::Label, "Frame4", "玻璃每平方米价格（元）：", 180, 300, 2295, 315,
                25, nullptr, R::Names, "Text1"},
    ControlSpec{"Text1", -1, K::TextBox, "Frame4", "0", 2340, 240, 735, 315, 23,
                "玻璃每平方米价格（元）", R::Field},
    ControlSpec{"Label7", -1, K::Label, "Frame4", "玻璃每米磨边价格（元）：", 3420, 300, 2175, 375,
                24, nullptr, R::Names, "T_mb"},
    ControlSpec{"T_mb", -1, K::TextBox, "Frame4", "0", 5580, 240, 675, 315, 22,
                "玻璃每米磨边价格（元）", R::Field},
    ControlSpec{"Label9", -1, K::Label, "Frame4", "玻璃厚度（毫米）：", 6840, 300, 1695, 375, 26,
                nullptr, R::Names, "Text2"},
    ControlSpec{"Text2", -1, K::TextBox, "Frame4", "5", 8520, 240, 735, 315, 27, "玻璃厚度（毫米）",
                R::Field},
    ControlSpec{"Label13", -1, K::Label, "Frame4", "玻璃胶每支价格：", 180, 720, 1635, 375, 34,
                nullptr, R::Names, "Text3"},
    ControlSpec{"Text3", -1, K::TextBox, "Frame4", "0", 1800, 720, 795, 315, 35, "玻璃胶每支价格",
                R::Field},
    ControlSpec{"Label14", -1, K::Label, "Frame4", "玻璃胶数量（支）：", 3420, 720, 1875, 315, 36,
                nullptr, R::Names, "Text4"},
    ControlSpec{"Text4", -1, K::TextBox, "Frame4", "0", 5160, 720, 795, 315, 37, "玻璃胶数量（支）",
                R::Field},
    ControlSpec{"Frame1", -1, K::Frame, nullptr, "鱼缸主体（厘米）", 480, 2520, 3315, 1935, 0},
    ControlSpec{"Label1", 0, K::Label, "Frame1", "长：", 240, 240, 675, 435, 1, nullptr, R::Names,
                "T_Main(0)"},
    ControlSpec{"Label1", 1, K::Label, "Frame1", "宽：", 1020, 240, 675, 435, 2, nullptr, R::Names,
                "T_Main(1)"},
    ControlSpec{"Label1", 2, K::Label, "Frame1", "高：", 1800, 240, 675, 435, 3, nullptr, R::Names,
                "T_Main(2)"},
    ControlSpec{"T_Main", 0, K::TextBox, "Frame1", "0", 240, 480, 675, 315, 4, "鱼缸主体 长",
                R::Field},
    ControlSpec{"T_Main", 1, K::TextBox, "Frame1", "0", 1020, 480, 675, 315, 5, "鱼缸主体 宽",
                R::Field},
    ControlSpec{"T_Main", 2, K::TextBox, "Frame1", "0", 1800, 480, 675, 315, 6, "鱼缸主体 高",
                R::Field},
    ControlSpec{"Command2", -1, K::CommandButton, "Frame1", "确定", 2520, 480, 615, 315, 48},
    ControlSpec{"Label20", -1, K::Label, "Frame1", "前后长面尺寸：", 300, 960, 1335, 375, 49,
                nullptr, R::Names, "LabSize(0)"},
    ControlSpec{"LabSize", 0, K::Label, "Frame1", "0", 1680, 960, 1515, 315, 52, "前后长面尺寸",
                R::Result},
    ControlSpec{"Label21", -1, K::Label, "Frame1", "左右短面尺寸：", 300, 1260, 1275, 375, 50,
                nullptr, R::Names, "LabSize(1)"},
    ControlSpec{"LabSize", 1, K::Label, "Frame1", "0", 1680, 1260, 1575, 315, 53, "左右短面尺寸",
                R::Result},
    ControlSpec{"Label22", -1, K::Label, "Frame1", "底面尺寸：", 300, 1560, 1095, 315, 51, nullptr,
                R::Names, "LabSize(2)"},
    ControlSpec{"LabSize", 2, K::Label, "Frame1", "0", 1680, 1560, 1575, 315, 54, "底面尺寸",
                R::Result},
    ControlSpec{"Frame2", -1, K::Frame, nullptr, "辅助板材（过滤、拉筋等用料）厘米", 3900, 2520,
                3255, 1935, 7},
    ControlSpec{"Frame3", -1, K::Frame, "Frame2", nullptr, 360, 180, 1935, 1635, 8, "辅助板材尺寸"},
    ControlSpec{"Label3", -1, K::Label, "Frame3", "长：", 240, 360, 375, 315, 9, nullptr, R::Names,
                "T_FU(0)"},
    ControlSpec{"T_FU", 0, K::TextBox, "Frame3", "0", 780, 300, 915, 315, 12, "辅助板材 长",
                R::Field},
    ControlSpec{"Label4", -1, K::Label, "Frame3", "宽：", 240, 780, 495, 495, 10, nullptr, R::Names,
                "T_FU(1)"},
    ControlSpec{"T_FU", 1, K::TextBox, "Frame3", "0", 780, 720, 915, 315, 13, "辅助板材 宽",
                R::Field},
    ControlSpec{"Label5", -1, K::Label, "Frame3", "块数：", 240, 1200, 615, 375, 11, nullptr,
                R::Names, "T_FU(2)"},
    ControlSpec{"T_FU", 2, K::TextBox, "Frame3", "1", 780, 1140, 915, 315, 14, "辅助板材 块数",
                R::Field},
    ControlSpec{"Command1", -1, K::CommandButton, "Frame2", "增加", 2460, 300, 735, 435, 15},
    ControlSpec{"Label10", -1, K::Label, nullptr, "辅助板材列表：", 7320, 2580, 1335, 315, 20,
                nullptr, R::Names, "List1"},
    ControlSpec{"List1", -1, K::ListBox, nullptr, nullptr, 7320, 2880, 2655, 1230, 16,
                "辅助板材列表"},
    ControlSpec{"Com_Count", -1, K::CommandButton, nullptr, "开始计算", 480, 4740, 1875, 555, 28},
    ControlSpec{"Com_Print", -1, K::CommandButton, nullptr, "打印预览", 480, 5280, 1875, 555, 30},
    ControlSpec{"Command5", -1, K::CommandButton, nullptr, "关闭退出", 900, 6420, 975, 375, 31,
                nullptr, R::Close},
    ControlSpec{"Frame5", -1, K::Frame, nullptr, "计算结果", 2760, 4680, 7215, 2355, 29},
    ControlSpec{"Label15", -1, K::Label, "Frame5", "玻璃面积费用合计：", 300, 480, 1635, 495, 38,
                nullptr, R::Names, "Label_HeJi(0)"},
    ControlSpec{"Label_HeJi", 0, K::Label, "Frame5", "", 2160, 420, 3795, 435, 42,
                "玻璃面积费用合计", R::Result},
    ControlSpec{"Label16", -1, K::Label, "Frame5", "玻璃磨边费用合计：", 300, 840, 1755, 315, 39,
                nullptr, R::Names, "Label_HeJi(1)"},
    ControlSpec{"Label_HeJi", 1, K::Label, "Frame5", "", 2160, 780, 4395, 435, 43,
                "玻璃磨边费用合计", R::Result},
    ControlSpec{"Label17", -1, K::Label, "Frame5", "玻璃胶费用合计：", 300, 1200, 1575, 495, 40,
                nullptr, R::Names, "Label_HeJi(3)"},
    ControlSpec{"Label_HeJi", 3, K::Label, "Frame5", "", 2160, 1140, 4695, 435, 45,
                "玻璃胶费用合计", R::Result},
    ControlSpec{"Label18", -1, K::Label, "Frame5", "总费用合计：", 300, 1800, 1515, 315, 41,
                nullptr, R::Names, "Label_HeJi(4)"},
    ControlSpec{"Label_HeJi", 4, K::Label, "Frame5", "", 2160, 1740, 4635, 435, 46, "总费用合计",
                R::Result},
    ControlSpec{"Label12", -1, K::Label, nullptr, "计算结果仅供参考。", 2820, 7140, 2595, 315, 33},
    ControlSpec{"Label8", -1, K::Label, nullptr,
                "提示：输入框只接受数字和小数点；尺寸单位为厘米，玻璃厚度单位为毫米。", 120, 7620,
                10335, 435, 19},
};

constexpr std::array kLines = {
    LineSpec{"Line2", "Frame5", 300, 1680, 6960, 1680, 192, 192, 192},
    LineSpec{"Line1", nullptr, 0, 7560, 10380, 7560, 0, 0, 0},
};

}  // namespace

std::span<const ControlSpec> form1Controls() {
    return kControls;
}
std::span<const LineSpec> form1Lines() {
    return kLines;
}

std::string controlName(const char* name, int index) {
    std::string control = name;
    if (index >= 0) {
        control.append("(").append(std::to_string(index)).append(")");
    }
    return control;
}

std::string controlName(const ControlSpec& entry) {
    return controlName(entry.name, entry.index);
}

}  // namespace model
