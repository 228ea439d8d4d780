object CustomerForm: TCustomerForm
  Left = 160
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Customer order'
  ClientHeight = 362
  ClientWidth = 600
  Position = poScreenCenter
  ActiveControl = CodeEdit
  OnCreate = FormCreate
  object CodeLabel: TLabel
    Left = 12
    Top = 16
    Caption = 'Customer &code:'
    FocusControl = CodeEdit
  end
  object CodeEdit: TValidEdit
    Left = 112
    Top = 12
    Width = 160
    Height = 21
    CharCase = ecUpperCase
    EditText = 'C-1042'
    Kind = 1
    MaxLength = 8
    ShowErrors = [veInput, veFocus]
    TabOrder = 0
    Validator.FilterChars = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object QuantityLabel: TLabel
    Left = 12
    Top = 46
    Caption = '&Quantity:'
    FocusControl = QuantityEdit
  end
  object QuantityEdit: TValidEdit
    Left = 112
    Top = 42
    Width = 160
    Height = 21
    Alignment = taRightJustify
    EditText = '12'
    Kind = 2
    ShowErrors = [veInput, veFocus]
    TabOrder = 1
    Validator.Max = 999
    Validator.Min = 1
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object DiscountLabel: TLabel
    Left = 12
    Top = 76
    Caption = '&Discount %:'
    FocusControl = DiscountEdit
  end
  object DiscountEdit: TValidEdit
    Left = 112
    Top = 72
    Width = 160
    Height = 21
    Alignment = taRightJustify
    Kind = 3
    ShowErrors = [veInput, veFocus]
    TabOrder = 2
    Validator.Max = 50
    Validator.Min = 0
    Validator.NoBounds = False
    Validator.Precision = 1
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object CreditLabel: TLabel
    Left = 12
    Top = 106
    Caption = 'Credit &limit:'
    FocusControl = CreditEdit
  end
  object CreditEdit: TValidEdit
    Left = 112
    Top = 102
    Width = 160
    Height = 21
    Alignment = taRightJustify
    Kind = 4
    ShowErrors = [veInput, veFocus]
    TabOrder = 3
    Validator.Max = 100000
    Validator.Min = 0
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object CountryLabel: TLabel
    Left = 12
    Top = 136
    Caption = 'Co&untry:'
    FocusControl = CountryEdit
  end
  object CountryEdit: TValidEdit
    Left = 112
    Top = 132
    Width = 160
    Height = 21
    EditText = 'Germany'
    Kind = 5
    ShowErrors = [veInput, veFocus]
    TabOrder = 4
    Validator.Items.Strings = (
      'Australia'
      'Austria'
      'Belgium'
      'Brazil'
      'Canada'
      'Denmark'
      'France'
      'Germany'
      'Ireland'
      'Italy'
      'Japan'
      'Mexico'
      'Netherlands'
      'New Zealand'
      'Norway'
      'Portugal'
      'Spain'
      'Sweden'
      'Switzerland'
      'United Kingdom'
      'United States')
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object PhoneLabel: TLabel
    Left = 12
    Top = 166
    Caption = '&Phone:'
    FocusControl = PhoneEdit
  end
  object PhoneEdit: TValidEdit
    Left = 112
    Top = 162
    Width = 160
    Height = 21
    EditText = '(555) 123-4567'
    Kind = 6
    ShowErrors = [veInput, veFocus]
    TabOrder = 5
    Validator.Picture = '(###) ###-####'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object PostcodeLabel: TLabel
    Left = 12
    Top = 196
    Caption = 'P&ostcode:'
    FocusControl = PostcodeEdit
  end
  object PostcodeEdit: TValidEdit
    Left = 112
    Top = 192
    Width = 160
    Height = 21
    CharCase = ecUpperCase
    EditText = '12345'
    Kind = 6
    ShowErrors = [veInput, veFocus]
    TabOrder = 6
    Validator.Picture = '#####[-####],&#& #&#'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object BirthDateLabel: TLabel
    Left = 12
    Top = 226
    Caption = '&Birth date:'
    FocusControl = BirthDateEdit
  end
  object BirthDateEdit: TValidEdit
    Left = 112
    Top = 222
    Width = 160
    Height = 21
    ButtonHint = 'Pick the date in a calendar (Ctrl+Enter)'
    Kind = 7
    ShowErrors = [veInput, veFocus]
    TabOrder = 7
    Validator.Min = 2
    Validator.NoBounds = False
    OnButtonClick = DateButtonClick
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object AppointmentLabel: TLabel
    Left = 12
    Top = 256
    Caption = '&Appointment:'
    FocusControl = AppointmentEdit
  end
  object AppointmentEdit: TValidEdit
    Left = 112
    Top = 252
    Width = 160
    Height = 21
    Kind = 8
    ShowErrors = [veInput, veFocus]
    TabOrder = 8
    Validator.Max = 0.75
    Validator.Min = 0.333333333333333
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object NameLabel: TLabel
    Left = 300
    Top = 16
    Caption = 'Contact &name:'
    FocusControl = NameEdit
  end
  object NameEdit: TEdit
    Left = 400
    Top = 12
    Width = 184
    Height = 21
    TabOrder = 9
    Text = 'Jane Smith'
  end
  object RegionLabel: TLabel
    Left = 300
    Top = 46
    Caption = 'Sales &region:'
    FocusControl = RegionEdit
  end
  object RegionEdit: TBtnEdit
    Left = 400
    Top = 42
    Width = 184
    Height = 21
    AlwaysEnable = True
    ButtonHint = 'Next region (Alt+Down)'
    ButtonVisible = True
    GlyphKind = gkDropDown
    ReadOnly = True
    TabOrder = 10
    Text = 'North'
    OnButtonClick = RegionButtonClick
  end
  object EmailLabel: TLabel
    Left = 300
    Top = 76
    Caption = '&E-mail:'
    FocusControl = EmailEdit
  end
  object EmailEdit: TBtnEdit
    Left = 400
    Top = 72
    Width = 184
    Height = 21
    ButtonHint = 'Make the address from the contact name (Ctrl+Enter)'
    ButtonVisible = True
    Glyph.Data = {
      424DC60000000000000076000000280000000E0000000A000000010004000000
      0000500000000000000000000000100000000000000000000000000080000080
      00000080800080000000800080008080000080808000C0C0C0000000FF0000FF
      000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333000000
      0000000003000FFFFFFFFFFF03000FFFFCCCFFFF03000FFFCFFFCFFF03000FFC
      FFFFFCFF03000FCFFFFFFFCF03000CFFFFFFFFFC030000000000000003003333
      333333333300}
    TabOrder = 11
    OnButtonClick = EmailButtonClick
  end
  object SummaryLabel: TLabel
    Left = 300
    Top = 106
    Caption = 'Order &summary:'
    FocusControl = SummaryEdit
  end
  object SummaryEdit: TBtnEdit
    Left = 400
    Top = 102
    Width = 184
    Height = 21
    AlwaysEnable = True
    ButtonHint = 'Show the order as its typed values read it (Ctrl+Enter)'
    ButtonVisible = True
    GlyphKind = gkEllipsis
    ReadOnly = True
    TabOrder = 12
    Text = 'Press the button'
    OnButtonClick = SummaryButtonClick
  end
  object HintPanel: TPanel
    Left = 300
    Top = 140
    Width = 284
    Height = 148
    BevelOuter = bvLowered
    TabOrder = 15
    object HintLabel: TLabel
      Left = 8
      Top = 6
      Width = 268
      Height = 136
      AutoSize = False
      WordWrap = True
      Caption = 'Try: a letter in Quantity; 12.34 in Discount; G in Country; (555 in Phone; A1A1A1 or 12345 in Postcode; leave a half-typed field with Tab; Ctrl+Enter in Birth date opens the calendar; Alt+Down in Sales region; a name, then the envelope in E-mail.'
    end
  end
  object ClearButton: TButton
    Left = 412
    Top = 300
    Width = 80
    Height = 25
    Caption = 'C&lear'
    TabOrder = 13
    OnClick = ClearButtonClick
  end
  object CloseButton: TButton
    Left = 504
    Top = 300
    Width = 80
    Height = 25
    Caption = 'Close'
    TabOrder = 14
    OnClick = CloseButtonClick
  end
  object StatusPanel: TPanel
    Left = 0
    Top = 340
    Width = 600
    Height = 22
    Align = alBottom
    Alignment = taLeftJustify
    BevelOuter = bvLowered
    TabOrder = 16
  end
end
