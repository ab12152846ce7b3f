#include "core/messages.h"

#include <array>
#include <cstddef>

#include "core/error.h"
#include "core/text.h"

namespace quevor {
namespace {

struct Row {
    Message id;
    std::u16string_view text;
};

// What the program says, one row per message in the order of the enumeration.
constexpr auto kMessages = std::to_array<Row>({
    {Message::fileNotFound,
     u"「{1}」が見つかりません。ファイルがその場所にあるか確かめてください。"},
    {Message::accessDenied,
     u"「{1}」にアクセスできません。ファイルの読み取り専用の設定とフォルダーのアクセス許可を確か"
     u"めてください。"},
    {Message::fileInUse,
     u"「{1}」はほかのプログラムが使用中です。しばらく待ってから、もう一度お試しください。"},
    {Message::cannotOpen, u"「{1}」を開けません（{2}）。"},
    {Message::cannotRead, u"「{1}」を読み込めません（{2}）。"},
    {Message::cannotWrite, u"「{1}」に書き込めません（{2}）。ファイルは元のままです。"},
    {Message::nothingWritten,
     u"「{1}」に書き込めません（ディスクが 1 バイトも受け付けませんでした）。ファイルは元のまま"
     u"です。ディスクの空きを確かめてください。"},
    {Message::notAFile, u"「{1}」はファイルではありません。"},
    {Message::noTemporaryName,
     u"「{1}」に書き込めません。同じフォルダーに書きかけの一時ファイル（.setting.ini.～.tmp）"
     u"が多すぎます。それらを削除してから、もう一度お試しください。ファイルは元のままです。"},

    {Message::codePageMissing, u"コードページ {1} がこのシステムにありません。"},
    {Message::notText,
     u"setting.ini はコードページ {1} のテキストではありません。テキストエディターで直してから、"
     u"もう一度起動してください。"},
    {Message::notTextAt,
     u"setting.ini はコードページ {1} のテキストではありません（{2} バイト目）。テキストエディター"
     u"で直してから、もう一度起動してください。"},
    {Message::cannotEncode,
     u"コードページ {1} で書けない文字があるため、setting.ini に書き込めません。"},
    {Message::fileTooLarge, u"setting.ini が大きすぎて読み込めません。"},

    {Message::notANumber,
     u"setting.ini の「{1}」の値「{2}」が数値ではありません。テキストエディターで直してから、"
     u"もう一度起動してください。"},
    {Message::numberTooLarge,
     u"setting.ini の「{1}」の値「{2}」が大きすぎます。テキストエディターで直してから、もう一度"
     u"起動してください。"},
    {Message::searchedTooFar,
     u"setting.ini が長すぎます。「{1}」が 32767 文字目より後ろにあります。余分な部分をテキスト"
     u"エディターで削ってから、もう一度起動してください。"},
    {Message::keyMissing, u"setting.ini に「{1}」がありません。"},
    {Message::outOfRange,
     u"ウィンドウの位置か大きさが扱える範囲（-32768～32767 twip）を超えました。setting.ini の "
     u"W:、CL:、X:、Y: の値を確かめてください。"},

    {Message::saveNotVerified,
     u"新しい「{1}」を確かめられなかったため（{2}）、ファイルは元のままです。"},
    {Message::wouldNotReadBack, u"次の起動でバーの設定を読み戻せません"},
    {Message::wouldChangeAgain, u"次の終了でまた書き換わってしまいます"},
    {Message::notSavedQuit,
     u"{1}設定はまだ保存されていません。もう一度「終了」を選ぶと、保存をやり直します。"},
    {Message::notSavedClear,
     u"{1}設定はまだクリアされていません。もう一度「クリア終了」を選ぶと、クリアをやり直します。"},

    {Message::cannotAdd, u"{1}を追加できません。{2}。"},
    {Message::namedProgram, u"「{1}」"},
    {Message::namedShortcut, u"ショートカット「{1}」（リンク先「{2}」）"},
    {Message::cannotMove, u"「{1}」をその位置へ移動できません。{2}。"},
    {Message::cannotStart, u"「{1}」を起動できません。{2}。"},
    {Message::barFull, u"プログラムを追加できません。15 個の枠がすべて使われています。"},
    {Message::barFullWithMissing,
     u"プログラムを追加できません。15 個の枠がすべて使われていて、そのうち見つからないプログラム"
     u" {1} が枠を使っています。メニューの「{2}」を選ぶと、その枠が空きます。"},
    {Message::listSeparator, u"、"},

    {Message::pathTooLong, u"パスが 259 文字を超えています"},
    {Message::pathControlCharacter, u"パスに制御文字が含まれています"},
    {Message::pathNotAProgram, u"追加できるのは名前が .exe で終わるプログラムだけです"},
    {Message::pathHoldsKey, u"パスに「{1}」が含まれていて、setting.ini に保存できません"},
    {Message::pathHoldsExe, u"パスの途中に「{1}」が含まれていて、setting.ini に保存できません"},
    {Message::pathPlaceholder,
     u"「{1}」という名前は setting.ini では空いている枠を表すため、保存できません"},
    {Message::pathNotInCodePage, u"パスにコードページ {1} で保存できない文字が含まれています"},

    {Message::shortcutNotAFile, u"ショートカットのリンク先がファイルではありません"},
    {Message::shortcutUnreadable, u"ショートカットを読み込めません"},
    {Message::programMissing, u"ファイルが見つかりません"},

    {Message::cannotLoadFunction, u"システムの関数 {1} を読み込めません（{2}）。"},
    {Message::cannotCheckInstance, u"quevor がすでに起動しているか確かめられません（{1}）。"},
    {Message::cannotCreateWindow, u"ウィンドウを作れません（{1}）。"},
    {Message::cannotCreateToolbar, u"ツールバーを作れません（{1}）。"},
    {Message::cannotCreateImages, u"アイコンの一覧を作れません。"},
    {Message::cannotStoreIcon, u"アイコンをアイコンの一覧に入れられません。"},
    {Message::cannotChangeButtons, u"ツールバーのボタンを変更できません（{1}）。"},
    {Message::cannotCreateAddButton, u"追加ボタンを作れません（{1}）。"},
    {Message::cannotCreateMenu, u"メニューを作れません（{1}）。"},
    {Message::cannotOpenDialog, u"ファイルを開くダイアログを表示できません（エラー {1}）。"},
    {Message::cannotPlaceWindow, u"ウィンドウを移動できません（{1}）。"},
    {Message::cannotChangeWindow, u"ウィンドウのタイトルバーを切り替えられません（{1}）。"},
    {Message::cannotStartWork, u"プログラムのファイルを調べる処理を始められません（{1}）。"},

    {Message::internalError,
     u"quevor の内部エラーです（{1}）。setting.ini はこれまでに保存した内容のままです。"},
    {Message::outOfMemory,
     u"メモリが足りません。ほかのプログラムを閉じてから、もう一度お試しください。"},
    {Message::unknownError, u"原因のわからないエラーが起きました。"},

    {Message::cannotOpenFolder, u"「{1}」の場所を開けません。{2}。"},
    {Message::cannotReadStartupEntry,
     u"Windows の起動時に開くかどうかを確かめられません（{1}）。設定は元のままです。"},
    {Message::cannotWriteStartupEntry,
     u"Windows の起動時に開く設定を変更できません（{1}）。設定は元のままです。"},
    {Message::parametersTooLong,
     u"「{1}」を起動しませんでした。ドロップしたファイルのパスを並べると {2} 文字になり、起動できる"
     u"長さ（{3} 文字）を超えます。ファイルは元のままです。ファイルを減らして、もう一度ドロップして"
     u"ください。"},
    {Message::addButtonName, u"プログラムを追加"},
});

constexpr bool inOrder() {
    for (std::size_t i = 0; i < kMessages.size(); ++i) {
        if (static_cast<std::size_t>(kMessages[i].id) != i) return false;
    }
    return kMessages.size() == static_cast<std::size_t>(Message::addButtonName) + 1;
}
static_assert(inOrder(), "one row per message, in the order of the enumeration");

template <class Args>
std::u16string filledIn(Message id, const Args& args) {
    const std::u16string_view text = kMessages[static_cast<std::size_t>(id)].text;
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // "{N}" with one digit N from 1 names an argument; anything else is kept as written.
        if (text[i] == u'{' && i + 2 < text.size() && text[i + 2] == u'}' && text[i + 1] >= u'1' &&
            text[i + 1] <= u'9') {
            const auto n = static_cast<std::size_t>(text[i + 1] - u'1');
            if (n < args.size()) {
                out += *(args.begin() + static_cast<std::ptrdiff_t>(n));
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::u16string messageText(Message id, std::initializer_list<std::u16string_view> args) {
    return filledIn(id, args);
}

std::u16string messageText(Message id, const std::vector<std::u16string>& args) {
    return filledIn(id, args);
}

void fail(Message id, std::initializer_list<std::u16string_view> args) {
    throw RuntimeError(toUtf8(messageText(id, args)));
}

void failOverflow(Message id, std::initializer_list<std::u16string_view> args) {
    throw RuntimeError(toUtf8(messageText(id, args)), ErrorKind::overflow);
}

}  // namespace quevor
