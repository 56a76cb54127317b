// Interpreter status codes, their messages and how each message names its subject.
#pragma once
#include <cstdint>

namespace kav {

// How the subject line of an error message is introduced.
enum class SubjectLine : uint8_t {
    Command,        // "コマンド : " + subject
    Variable,       // "変数 : " + subject
    Array,          // "配列変数 : " + subject
    Alone,          // the subject without prefix
    None,           // no subject line and no blank lines
    SetTimer,       // the fixed line "コマンド : SetTimer"
    CreateControl,  // the fixed line "コマンド : CreateControl"
};

// Code, name, message (Shift-JIS in the program), subject line.
#define KAV_ERRORS(X)                                                                   \
    X(1, ColourInvalid, "色指定の値が無効です", Command)                                \
    X(2, Bracket, "カッコの対応エラー", Command)                                        \
    X(3, TooLong, "文が長すぎます", Command)                                            \
    X(4, NoValue, "変数の値が未定です", Variable)                                       \
    X(5, FileNotOpen, "ファイルが開いていません", Command)                              \
    X(6, NoCommand, "このコマンドは存在しません", Alone)                                \
    X(7, ArrayRange, "配列変数のサイズを越えています", Command)                         \
    X(8, TooFewParams, "パラメータの数が違います", Command)                             \
    X(9, NoString, "文字列パラメータが見つかりません", Command)                         \
    X(10, BadExpression, "演算式に問題があります", Alone)                               \
    X(11, TooManyVariables, "変数の使用数が多すぎます", Variable)                       \
    X(12, NoArray, "配列変数が準備されていません", Array)                               \
    X(13, BadIf, "ｉｆ文に誤りがあります", Alone)                                       \
    X(14, NoSubScreen, "裏画面が準備されていません", Command)                           \
    X(15, FileOpenFailed, "ファイルを開けません", Command)                              \
    X(16, ParamInvalid, "パラメータの値が無効です", Command)                            \
    X(17, FileAlreadyOpen, "既にファイルが開いています", Command)                       \
    X(18, NoSection, "サブルーチンが見つかりません", Command)                           \
    X(19, NestTooDeep, "ネストが深すぎます", None)                                      \
    X(20, NoMemory, "メモリーの確保に失敗しました", None)                               \
    X(21, TimerFailed, "タイマーの設定ができません", SetTimer)                          \
    X(22, DivideByZero, "ゼロでの除算はできません", Command)                            \
    X(23, TooManyParams, "パラメータの数が違います", Command)                           \
    X(24, NoControl, "コントロールが定義されていません", Command)                       \
    X(25, ControlFailed, "コントロールの作成に失敗しました", CreateControl)             \
    X(26, ControlKind, "コントロールの種類が不一致です", Command)                       \
    X(27, BadExtension, "ファイルの拡張子が無効です", Command)                          \
    X(28, ArrayNameUsed, "配列変数名が重複しています", Command)                         \
    X(30, NoValueFunction, "このコマンドは値を返しません", Command)                     \
    X(31, NoUsb, "ＵＳＢ-ＩＯ２が接続されていません", Command)                          \
    X(32, NoCamera, "カメラが接続されていません", Command)                              \
    X(40, Pack3DNumber, "３Ｄパックのパック番号が無効です", Command)                    \
    X(41, Pack3DAlreadySet, "すでに３Ｄパックが設定されています", Command)              \
    X(42, Pack3DFull, "３Ｄパックへの登録データ数が多すぎます", Command)                \
    X(43, Pack3DMemory, "３Ｄパック描画用の内部メモリー確保に失敗しました", Command)    \
    X(44, MenuInvalid, "メニューが無効です", Command)                                   \
    X(50, SoundRegistered, "このＩＤにはサウンドファイルが登録されています", Command)   \
    X(51, NoSound, "サウンドファイルが登録されていません", Command)                     \
    X(52, WaveEntryFailed, "ＷＡＶＥファイルの登録に失敗しました", Command)             \
    X(53, MidiEntryFailed, "ＭＩＤＩファイルの登録に失敗しました", Command)             \
    X(54, TooManyWaveBufs, "ＷＡＶＥバッファの使用数が多すぎます", Command)             \
    X(55, WaveBufTooLarge, "ＷＡＶＥバッファのサイズが大きすぎます", Command)           \
    X(56, NoWaveBuf, "ＷＡＶＥバッファが準備されていません", Command)                   \
    X(57, WaveBufRange, "ＷＡＶＥバッファのサイズを超えています", Command)

enum class Status : uint8_t {
    Ok = 0,
#define KAV_STATUS_ENUM(code, name, text, line) name = code,
    KAV_ERRORS(KAV_STATUS_ENUM)
#undef KAV_STATUS_ENUM
};

struct ErrorText {
    const char* message;  // nullptr for a code without a message
    SubjectLine line;
};

// Message and subject-line kind of a status code.
ErrorText errorText(uint8_t code);

}  // namespace kav
