#include "core/builtin_texts.h"

namespace {

// The twenty data type texts, offered alike for every register type.
#define VIREO_DATA_TYPE_TEXTS \
    u"通道的第00位", \
    u"通道的第01位", \
    u"通道的第02位", \
    u"通道的第03位", \
    u"通道的第04位", \
    u"通道的第05位", \
    u"通道的第06位", \
    u"通道的第07位", \
    u"8位 无符号二进制", \
    u"8位 有符号二进制", \
    u"8位 2位BCD", \
    u"16位 无符号二进制", \
    u"16位 有符号二进制", \
    u"16位 4位BCD", \
    u"32位 无符号二进制", \
    u"32位 有符号二进制", \
    u"32位 8位BCD", \
    u"32位 浮点数", \
    u"64位 浮点数", \
    u"ASCII字符串"

}  // namespace

const std::vector<SBuiltinTextTable>& BuiltinTextTables() {
    static const std::vector<SBuiltinTextTable> tables = {
        {kDeviceNameText, 1100, 1100, {u"Vireo"}},
        {kStatusChannelText, 1103, 1103, {u"通讯状态"}},
        {kPropertyNameTexts, 3000, 3998,
         {u"TCP/IP通讯延时", u"重建TCP/IP连接等待时间[s]", u"机架号[Rack]", u"槽号[Slot]", u"字符串编码", u"字符串解码顺序"}},
        {kEnumValueTexts, 4000, 4998, {u"0 - ASCII", u"1 - UNICODE", u"0 - 21", u"1 - 12"}},
        {kRegisterTypeTexts, 5000, 5998, {u"I输入继电器", u"Q输出继电器", u"M内部继电器", u"V数据寄存器"}},
        {kDataTypeTexts, 6000, 6998,
         {VIREO_DATA_TYPE_TEXTS, VIREO_DATA_TYPE_TEXTS, VIREO_DATA_TYPE_TEXTS, VIREO_DATA_TYPE_TEXTS}},
        {kReadWriteTexts, 7100, 7198, {u"只读", u"只写", u"读写"}},
        {kParameterNameTexts, 9000, 9098, {u"字符串长度"}},
    };
    return tables;
}
