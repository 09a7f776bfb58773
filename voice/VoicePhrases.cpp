#include "VoicePhrases.h"

#include <algorithm>

namespace voice {

const CommandMap& builtInPhrases()
{
    static const CommandMap map = [] {
        CommandMap m;
        auto add = [&](VoiceCommand c, std::initializer_list<const char*> phrases) {
            for (const char* p : phrases)
                m[c] << QString::fromUtf8(p);
        };
        add(CmdTakePhoto, {"拍照", "拍一张", "拍张照", "照相", "照片", "拍一下", "拍个照"});
        add(CmdRotateLeft, {"左转", "向左旋转", "向左转", "左旋转"});
        add(CmdRotateRight, {"右转", "向右旋转", "向右转", "右旋转"});
        add(CmdZoomIn, {"放大", "变大", "放大一点", "变大了", "放大图"});
        add(CmdZoomOut, {"缩小", "变小", "缩小一点", "变小了"});
        add(CmdOriginalSize, {"原始大小", "恢复原始", "原始尺寸", "重置大小", "恢复大小", "等比"});
        add(CmdFitWindow, {"适合窗口", "适应视图", "适应窗口", "全屏显示", "全屏"});
        add(CmdSaveImage, {"保存", "保存图片", "存盘", "保存文件", "保存图像"});
        add(CmdRecognizeText,
            {"文字识别", "识别文字", "OCR", "文字提取", "提取文字", "读字", "文字", "识别"});
        add(CmdScanCode, {"扫码", "扫描", "扫二维码", "扫描条码", "扫描二维码", "扫一扫", "条码", "二维码",
                          "扫码功能", "扫描功能"});
        add(CmdAutoCrop, {"自动裁切", "自动纠偏", "裁切", "纠偏", "自动裁剪", "裁剪"});
        add(CmdModeNormal, {"普通拍照", "拍照模式", "普通模式", "普通", "返回普通", "回到普通"});
        add(CmdModeVideoBooth, {"视频展台", "展台", "展示台", "视频模式", "展台模式"});
        add(CmdModeBook,
            {"书籍展平", "书籍拍摄", "书籍模式", "拍书", "展平", "翻书", "书展平", "书拍摄", "拍书籍"});
        add(CmdModeAiCollab, {"AI协同", "协同", "AI模式", "协同办公", "AI办公"});
        add(CmdModeTicket, {"票据识别", "票据", "发票识别", "发票模式", "票据模式"});
        return m;
    }();
    return map;
}

QString commandDisplayName(int command)
{
    static const char* const names[] = {
        "",         "拍照",     "左转",     "右转",     "放大",     "缩小",     "原始大小", "适应窗口",
        "居中显示", "保存",     "文字识别", "扫码",     "自动裁切", "人像抠图", "证件照",   "普通拍照",
        "视频显示", "书籍模式", "AI协同",   "票据识别", "票据拍摄", "通用模式",
    };
    if (command < 1 || command > CmdGeneralMode)
        return {};
    return QString::fromUtf8(names[command]);
}

const std::vector<std::pair<QString, QString>>& homophonePairs()
{
    static const std::vector<std::pair<QString, QString>> pairs = [] {
        // Correct text, then its misheard forms separated by "|".
        const std::pair<const char*, const char*> groups[] = {
            {"拍照", "按照|报找|抛照|参照"},
            {"左转", "左传|左专|做转"},
            {"右转", "右传|右专|又转"},
            {"放大", "放到|法大|发大|罚大|妄动|网动|而动|反动|举动|滚动|资格|自个"},
            {"缩小", "索小|所小"},
            {"保存", "包寸|宝存|报存"},
            {"扫码", "扫马|嫂码|少码|沙码"},
            {"文字识别", "闻字识别|文字时候|文字石狮|屋子识别|稳子识别"},
            {"转", "赚|专"},
            {"普通拍照", "普通怕找|普通跑照|普通怕照|普通报照|普通报找|普通抛照|普通参照|普东拍照|普东怕照|"
                         "铺通拍照|铺通怕照"},
            {"视频展台", "视频展胎|视频斩台"},
            {"书籍展平", "书籍占平|书籍展瓶|书展平|数据展平|书记展平|书籍短接|书短接|数据短接|书记短接|"
                         "书籍断接|书籍端平|书籍暂平|书籍战坪|书暂平|书战坪|数据暂平|数据战坪|书籍 展平|书 "
                         "展平|数据 展平|书记 展平|书籍 短接|书 短接|数据 短接|书记 短接|书籍 断接|书籍 "
                         "端平|书籍 暂平|书籍 战坪|书 暂平|书 战坪|数据 暂平|数据 战坪"},
            {"书籍拍摄",
             "书籍拍照|书拍照|数据拍照|书记拍照|书籍怕照|数据怕照|书籍 拍摄|书 拍摄|数据 拍摄|书记 拍摄|书籍 "
             "拍照|书 拍照|数据 拍照|书记 拍照|书籍 怕照|书 怕照|数据 怕照|书记 怕照"},
            {"AI协同", "哎协同|哎写同"},
            {"票据识别", "票据时间|票据是别|漂据识别"},
        };
        // An ordered map first, as the table is one (a misheard form has one correction).
        QMap<QString, QString> table;
        for (const auto& g : groups)
            for (const QString& misheard : QString::fromUtf8(g.second).split(QLatin1Char('|')))
                table.insert(misheard, QString::fromUtf8(g.first));
        std::vector<std::pair<QString, QString>> v;
        for (auto it = table.cbegin(); it != table.cend(); ++it)
            v.emplace_back(it.key(), it.value());
        // Longest first, so "左专" is repaired as a whole before "专" alone; ties keep the map's order.
        std::stable_sort(v.begin(), v.end(),
                         [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
        return v;
    }();
    return pairs;
}

const std::vector<int>& matchOrder()
{
    static const std::vector<int> order = [] {
        std::vector<int> o{CmdModeNormal, CmdModeVideoBooth, CmdModeBook, CmdModeAiCollab, CmdModeTicket};
        for (int c = CmdTakePhoto; c <= CmdGeneralMode; ++c)
            if (std::find(o.begin(), o.end(), c) == o.end())
                o.push_back(c);
        return o;
    }();
    return order;
}

} // namespace voice
