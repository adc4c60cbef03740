#!/usr/bin/env python3
"""Writes the installer's source for wixl and the texts that wixl cannot store, from the list of
programs that the build writes (tool_programs.txt: name, tab, title per line), and the toolbox
(toolbox.exe), which opens them all: a shortcut of its own on the desktop of all users, and one at
the head of the suite's Start-menu folder:

    installer_source.py PROGRAMS_TXT VERSION COMMIT EPOCH OUT_WXS OUT_SQL

wixl cannot store a text that starts with ASCII and goes on in Chinese, nor a Chinese file name:
those go into the SQL statements that msi_update.exe applies afterwards. Component codes are
derived from the program names, so that they stay the same from one version to the next; the
product code from the version, and the summary's times from the commit's time (EPOCH). Only the
package code, which must differ per build, is new each time."""
import sys
import uuid
from xml.sax.saxutils import quoteattr

SUITE_NAME = "HalviMed 护理工具箱"
# The upgrade code of the Braden 1.0.0 installer: the suite replaces it.
UPGRADE_CODE = "6F0B7D3E-4C1A-4E55-9B3A-2D8C1E7A5B40"
NAMESPACE = uuid.UUID("9d3c1f5e-2b7a-4c61-8e0f-5a4b3c2d1e0f")


def component_code(what):
    return str(uuid.uuid5(NAMESPACE, what)).upper()


def main(programs_txt, version, commit, epoch, out_wxs, out_sql):
    programs = []
    with open(programs_txt, encoding="utf-8") as listing:
        for line in listing:
            if line.strip():
                name, title = line.rstrip("\n").split("\t")
                programs.append((name, title))

    files = []
    shortcuts = []
    refs = []
    sql = ["CODEPAGE 936",
           f"SUMMARYTIME {int(epoch)}",
           f"UPDATE `Property` SET `Value` = '{SUITE_NAME}' WHERE `Property` = 'ProductName'",
           "UPDATE `Directory` SET `DefaultDir` = 'HALVIMED|" + SUITE_NAME +
           "' WHERE `Directory` = 'SuiteMenuFolder'",
           "UPDATE `File` SET `FileName` = 'GUIDE.TXT|使用说明.txt' WHERE `File` = 'UserGuide'",
           "UPDATE `LaunchCondition` SET `Description` = '已安装更高版本的 " + SUITE_NAME +
           "，无需降级安装。' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'"]
    sql.append("UPDATE `Shortcut` SET `Name` = 'TOOLBOX|" + SUITE_NAME + "', `Description` = '" +
               SUITE_NAME + "' WHERE `Shortcut` = 'Shortcut_toolbox'")
    sql.append("UPDATE `Shortcut` SET `Name` = 'TOOLBOX|" + SUITE_NAME + "', `Description` = '" +
               SUITE_NAME + "' WHERE `Shortcut` = 'DesktopShortcut_toolbox'")
    for index, (name, title) in enumerate(programs, start=1):
        ident = name.replace("-", "_")
        files.append(f'''            <Component Id="Program_{ident}" Guid="{component_code("program/" + name)}" Win64="yes">
              <File Id="{ident}.exe" Name="{name}.exe" Source="{name}.exe" KeyPath="yes"/>
            </Component>''')
        refs.append(f'      <ComponentRef Id="Program_{ident}"/>')
        shortcuts.append(f'''          <Shortcut Id="Shortcut_{ident}" Name="{name}" Description="{name}"
                    Target="[INSTALLFOLDER]{name}.exe" WorkingDirectory="INSTALLFOLDER" Icon="halvimed.ico"/>''')
        sql.append(f"UPDATE `Shortcut` SET `Name` = 'TOOL{index:02d}|{title}', "
                   f"`Description` = '{title}' WHERE `Shortcut` = 'Shortcut_{ident}'")

    wxs = f'''<?xml version="1.0" encoding="utf-8"?>
<!-- Written by packaging/installer_source.py: the per-machine installer of the suite. -->
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <!-- built from commit {commit} -->
  <Product Id="{component_code("product/" + version)}" Name="HalviMed Tools" Language="2052" Codepage="1252"
           Version="{version}" Manufacturer="HalviMed" UpgradeCode="{UPGRADE_CODE}">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"
             Description="HalviMed Tools {version}" Manufacturer="HalviMed" SummaryCodepage="936"/>
    <Media Id="1" Cabinet="tools.cab" EmbedCab="yes"/>
    <MajorUpgrade DowngradeErrorMessage="A newer version is installed."/>

    <Icon Id="halvimed.ico" SourceFile="halvimed.ico"/>
    <Property Id="ARPPRODUCTICON" Value="halvimed.ico"/>
    <Property Id="ARPURLINFOABOUT" Value="http://www.halvimed.example"/>

    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFiles64Folder">
        <Directory Id="MakerFolder" Name="HalviMed">
          <Directory Id="INSTALLFOLDER" Name="Tools">
{chr(10).join(files)}
            <Component Id="Program_toolbox" Guid="{component_code("program/toolbox")}" Win64="yes">
              <File Id="toolbox.exe" Name="toolbox.exe" Source="toolbox.exe" KeyPath="yes"/>
            </Component>
            <Component Id="Guide" Guid="{component_code("guide")}" Win64="yes">
              <File Id="UserGuide" Name="guide.txt" Source="guide.txt" KeyPath="yes"/>
            </Component>
            <Directory Id="PolicyFolder" Name="policy">
              <Component Id="PolicyAdmx" Guid="{component_code("policy/admx")}" Win64="yes">
                <File Id="PolicyAdmx" Name="halvimed.admx" Source="policy/halvimed.admx" KeyPath="yes"/>
              </Component>
              <Directory Id="PolicyChinese" Name="zh-CN">
                <Component Id="PolicyAdmlChinese" Guid="{component_code("policy/zh-CN")}" Win64="yes">
                  <File Id="PolicyAdmlChinese" Name="halvimed.adml" Source="policy/zh-CN/halvimed.adml" KeyPath="yes"/>
                </Component>
              </Directory>
              <Directory Id="PolicyEnglish" Name="en-US">
                <Component Id="PolicyAdmlEnglish" Guid="{component_code("policy/en-US")}" Win64="yes">
                  <File Id="PolicyAdmlEnglish" Name="halvimed.adml" Source="policy/en-US/halvimed.adml" KeyPath="yes"/>
                </Component>
              </Directory>
            </Directory>
          </Directory>
        </Directory>
      </Directory>
      <Directory Id="ProgramMenuFolder">
        <Directory Id="SuiteMenuFolder" Name="HalviMed">
        <Component Id="StartMenuShortcuts" Guid="{component_code("shortcuts")}" Win64="yes">
          <Shortcut Id="Shortcut_toolbox" Name="toolbox" Description="toolbox"
                    Target="[INSTALLFOLDER]toolbox.exe" WorkingDirectory="INSTALLFOLDER" Icon="halvimed.ico"/>
{chr(10).join(shortcuts)}
          <RemoveFolder Id="RemoveSuiteMenuFolder" On="uninstall"/>
          <RegistryValue Root="HKLM" Key="Software\\HalviMed\\Tools" Name="StartMenuShortcuts"
                         Type="integer" Value="1" KeyPath="yes"/>
        </Component>
        </Directory>
      </Directory>
      <Directory Id="DesktopFolder">
        <Component Id="DesktopShortcut" Guid="{component_code("desktop-shortcut")}" Win64="yes">
          <Shortcut Id="DesktopShortcut_toolbox" Name="toolbox" Description="toolbox"
                    Target="[INSTALLFOLDER]toolbox.exe" WorkingDirectory="INSTALLFOLDER" Icon="halvimed.ico"/>
          <RegistryValue Root="HKLM" Key="Software\\HalviMed\\Tools" Name="DesktopShortcut"
                         Type="integer" Value="1" KeyPath="yes"/>
        </Component>
      </Directory>
    </Directory>

    <Feature Id="Complete" Level="1">
{chr(10).join(refs)}
      <ComponentRef Id="Program_toolbox"/>
      <ComponentRef Id="DesktopShortcut"/>
      <ComponentRef Id="Guide"/>
      <ComponentRef Id="PolicyAdmx"/>
      <ComponentRef Id="PolicyAdmlChinese"/>
      <ComponentRef Id="PolicyAdmlEnglish"/>
      <ComponentRef Id="StartMenuShortcuts"/>
    </Feature>
  </Product>
</Wix>
'''
    with open(out_wxs, "w", encoding="utf-8") as out:
        out.write(wxs)
    with open(out_sql, "w", encoding="utf-8") as out:
        out.write("\n".join(sql) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:7])
