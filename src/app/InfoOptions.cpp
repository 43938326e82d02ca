#include "app/InfoOptions.h"

#include <QString>

namespace {

constexpr const char* kVersionText = "orv ver.0.111\n";

constexpr const char* kHelpText = "使い方: orv [ファイル|フォルダ|プレイリスト]...\n"
                                  "\n"
                                  "メディアファイル、フォルダ、プレイリスト(.orvl, .m3u)を指定した順に\n"
                                  "プレイリストに入れて再生します。フォルダは中のメディアファイルを探します。\n"
                                  "既に orv が起動していれば、ファイルはそのウィンドウに渡されます。\n"
                                  "\n"
                                  "オプション:\n"
                                  "  -h, --help     この説明を表示して終了する\n"
                                  "      --version  バージョンを表示して終了する\n"
                                  "  --             以降の引数をすべてファイル名として扱う\n"
                                  "\n"
                                  "環境変数:\n"
                                  "  ORV_HOME        設定ファイル(orv.ini)とボリュームデータベースのフォルダ\n"
                                  "  ORV_AUDIO_SINK  音声の出力に使う GStreamer のシンク\n"
                                  "  ORV_VIDEO_SINK  VMR9を使用しないときの GStreamer のビデオシンク\n";

} // namespace

InfoOption FindInfoOption(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return InfoOption::Help;
        if (arg == QLatin1String("--version"))
            return InfoOption::Version;
    }
    return InfoOption::None;
}

QString InfoOptionText(InfoOption option)
{
    switch (option) {
    case InfoOption::Help: return QString::fromUtf8(kHelpText);
    case InfoOption::Version: return QString::fromUtf8(kVersionText);
    case InfoOption::None: break;
    }
    return {};
}

bool AnswerInfoOption(int argc, char** argv, std::FILE* out)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const InfoOption option = FindInfoOption(args);
    if (option == InfoOption::None)
        return false;
    std::fputs(InfoOptionText(option).toUtf8().constData(), out);
    std::fflush(out);
    return true;
}
